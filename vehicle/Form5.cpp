#include "vehicle/Form5.h"

#include "actions/Actions.h"
#include "settings/SettingsStore.h"

using PlacedControls::Kind;

Form5::Form5()
    : RegistrationWindow(
          Window::Form5, QStringLiteral("車両登録(訂正)"),
          {{Kind::Button, "Command1", QStringLiteral("登録する"), {120, 3120, 1815, 495}},
           {Kind::Button, "Command2", QStringLiteral("戻る"), {2040, 3120, 1455, 495}},
           {Kind::WrappedLabel,
            "Label8",
            QStringLiteral("登録した場合、新規とは異なり、燃費データは現在のものが保持されます。"
                           "車両を帰られた場合は必ず、新規登録にしてください。"),
            {120, 3720, 3375, 975}}},
          {3555, 4620}, &Actions::correctVehicle)
{
    // The correction starts from the registered vehicle, so that a user who changes one field
    // need not type the others again.
    const Result<std::optional<VehicleBoxes>> registered = Actions::loadVehicle(SettingsStore());
    if (registered.shown)
        showBoxes(*registered.shown);
    if (registered.message)
        carryOut(registered, When::OnceOpen);
}

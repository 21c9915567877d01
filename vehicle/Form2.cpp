#include "vehicle/Form2.h"

#include "actions/Actions.h"

using PlacedControls::Kind;

Form2::Form2()
    : RegistrationWindow(
          Window::Form2, QStringLiteral("車両登録(新規)"),
          {{Kind::Label, "Label9", QStringLiteral("km"), {3480, 960, 375, 255}},
           {Kind::Label, "Label10", QStringLiteral("km"), {2880, 2760, 735, 255}},
           {Kind::Button, "Command1", QStringLiteral("登録する"), {120, 3120, 1815, 495}},
           {Kind::Button, "Command2", QStringLiteral("戻る"), {2040, 3120, 1695, 495}},
           {Kind::WrappedLabel,
            "Label8",
            QStringLiteral("登録した場合、現在のフォルダにある今までの車種および燃費データはすべて"
                           "消去されます。これを回避するためには、データの保管フォルダの変更手続"
                           "きおよび初期化を行ってください。"),
            {120, 3720, 3615, 975}}},
          {3840, 4620}, &Actions::registerVehicle)
{
}

#include "fuellog/Form10.h"

#include "actions/Actions.h"

Form10::Form10()
    : FuelEntryWindow(
          Window::Form10,
          {QStringLiteral("燃費記録"),
           QStringLiteral("初めて記入するときは「初めてデータを記入する」から記入してください。"),
           QStringLiteral("書き込む"),
           {},
           7650},
          &Actions::calculateRefuelling, &Actions::writeRefuelling)
{
}

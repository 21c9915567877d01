#include "shell/Form3.h"

#include "actions/Actions.h"
#include "files/DataFolder.h"
#include "files/FolderChoice.h"
#include "settings/SettingsStore.h"
#include "widgets/DirectoryList.h"
#include "widgets/FitToText.h"
#include "widgets/PlacedControls.h"
#include "widgets/Twips.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>

using PlacedControls::Kind;

Form3::Form3() : ChildWindow(Window::Form3, QStringLiteral("ファイル保存先"), Frame::Fixed)
{
    PlacedControls::place(
        this,
        {{Kind::WrappedLabel,
          "Label1",
          QStringLiteral("燃費情報や設定項目などの保存先を指定してくだい。設定後は必ず、「ファ"
                         "イル」から、「燃費データの初期化」を行ってください。"),
          {120, 120, 3510, 855}},
         {Kind::DropDown, "Drive1", QString(), {120, 1080, 3510, 315}},
         {Kind::DirectoryList, "Dir1", QString(), {120, 1500, 3510, 2070}},
         {Kind::Button,
          "defaultFolderButton",
          QStringLiteral("既定の保管場所を開く"),
          {120, 3660, 3510, 375}},
         {Kind::Button, "Command1", QStringLiteral("登録する"), {120, 4140, 1215, 375}},
         {Kind::Button, "Command2", QStringLiteral("戻る"), {2415, 4140, 1215, 375}}});
    m_drive1 = PlacedControls::find<QComboBox>(this, "Drive1");
    m_dir1 = PlacedControls::find<DirectoryList>(this, "Dir1");
    setFixedSize(FitToText::grow(this, Twips::size(3750, 4650)));

    m_drive1->addItems(FolderChoice::volumes());
    QString error;
    // The list opens at the folder in force; while that has not been made yet, or cannot be
    // read, at the home folder.
    if (!m_dir1->setPath(DataFolder(SettingsStore()).path(), &error))
        m_dir1->setPath(QDir::homePath(), &error);
    selectDriveOf(m_dir1->path());

    connect(m_drive1, &QComboBox::activated, this, &Form3::onDrive1Activated);
    connect(m_dir1, &DirectoryList::openFailed, this,
            [this](const QString& message) { carryOut(Result<>::failure(message)); });
    connect(PlacedControls::find<QPushButton>(this, "Command1"), &QPushButton::clicked, this,
            &Form3::onCommand1Clicked);
    connect(PlacedControls::find<QPushButton>(this, "Command2"), &QPushButton::clicked, this,
            &Form3::closeThisWindow);
    connect(PlacedControls::find<QPushButton>(this, "defaultFolderButton"), &QPushButton::clicked,
            this, &Form3::openDefaultFolder);
}

// The default folder lies under a hidden folder, which the list does not show.
void Form3::openDefaultFolder()
{
    QString error;
    if (!DataFolder::ensureDefaultExists(&error) ||
        !m_dir1->setPath(DataFolder::defaultPath(), &error)) {
        carryOut(Result<>::failure(error));
        return;
    }
    selectDriveOf(m_dir1->path());
}

void Form3::selectDriveOf(const QString& path)
{
    const int index = m_drive1->findText(FolderChoice::volumeOf(path));
    if (index >= 0)
        m_drive1->setCurrentIndex(index);
}

void Form3::onDrive1Activated(int index)
{
    QString error;
    if (!m_dir1->setPath(m_drive1->itemText(index), &error)) {
        carryOut(Result<>::failure(error));
        selectDriveOf(m_dir1->path());
    }
}

// The question whether the data goes along has two answers that both store the folder: Yes
// copies the data, No leaves it where it is.
void Form3::onCommand1Clicked()
{
    SettingsStore settings;
    const QString chosen = m_dir1->path();
    Result<> result = Actions::chooseDataFolder(settings, chosen);
    if (result.question) {
        const bool copy = Dialogs::askYesNo(this, *result.question);
        result = Actions::chooseDataFolder(
            settings, chosen, copy ? Actions::DataInForce::Copy : Actions::DataInForce::Leave);
    }
    carryOut(result);
}

#include "Form3.h"

#include "Actions.h"
#include "Dialogs.h"
#include "DirectoryList.h"
#include "FolderChoice.h"
#include "SettingsStore.h"
#include "Twips.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Form3::Form3()
    : ChildWindow(Window::Form3, QStringLiteral("ファイル保存先"), Frame::Fixed),
      m_drive1(new QComboBox(this)), m_dir1(new DirectoryList(this))
{
    auto* label1 =
        new QLabel(QStringLiteral("燃費情報や設定項目などの保存先を指定してくだい。設定後は必ず、「"
                                  "ファイル」から、「燃費データの初期化」を行ってください。"),
                   this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    auto* command1 = new QPushButton(QStringLiteral("登録する"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    auto* command2 = new QPushButton(QStringLiteral("戻る"), this);
    command2->setObjectName(QStringLiteral("Command2"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command1);
    buttons->addStretch();
    buttons->addWidget(command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addWidget(m_drive1);
    layout->addWidget(m_dir1, 1);
    layout->addLayout(buttons);
    setFixedSize(Twips::size(3750, 4650));

    m_drive1->addItems(FolderChoice::volumes());
    QString error;
    m_dir1->setPath(QDir::currentPath(), &error);
    selectDriveOf(m_dir1->path());

    connect(m_drive1, &QComboBox::activated, this, &Form3::onDrive1Activated);
    connect(m_dir1, &DirectoryList::openFailed, this, [this](const QString& message) {
        Dialogs::inform(this, {message, errorTitle()});
    });
    connect(command1, &QPushButton::clicked, this, &Form3::onCommand1Clicked);
    connect(command2, &QPushButton::clicked, this, &Form3::closeThisWindow);
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
        Dialogs::inform(this, {error, errorTitle()});
        selectDriveOf(m_dir1->path());
    }
}

void Form3::onCommand1Clicked()
{
    SettingsStore settings;
    run([&](Confirmed) { return Actions::chooseDataFolder(settings, m_dir1->path()); });
}

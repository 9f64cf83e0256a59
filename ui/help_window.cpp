#include "ui/help_window.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "entry/key_list.h"
#include "logbook/file_names.h"
#include "ui/text_codec.h"

namespace vl::ui {

namespace names = logbook::names;

KeysWindow::KeysWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmKeys"));
    setWindowTitle(QStringLiteral("VLWinLog Keys"));
    auto* tree = new QTreeWidget(this);
    tree->setObjectName(QStringLiteral("treKeys"));
    tree->setColumnCount(2);
    tree->setHeaderLabels({QStringLiteral("Key"), QStringLiteral("What it does")});
    tree->setRootIsDecorated(false);
    tree->setWordWrap(true);
    QTreeWidgetItem* group = nullptr;
    for (const entry::KeyRow& row : entry::keyList()) {
        const QString groupName = fromCp1252(row.group);
        if (!group || group->text(0) != groupName) {
            group = new QTreeWidgetItem(tree, {groupName});
            group->setFirstColumnSpanned(true);
            QFont bold = group->font(0);
            bold.setBold(true);
            group->setFont(0, bold);
        }
        new QTreeWidgetItem(group, {fromCp1252(row.keys), fromCp1252(row.action)});
    }
    tree->expandAll();
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree->header()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree);
    layout->addWidget(buttons);
    resize(760, 620);
}

QString aboutText(const logbook::DataFolder& folder) {
    struct File {
        std::string_view name;
        const char* what;
    };
    const File files[] = {
        {names::kRoster, "chapter roster"},
        {names::kContactLog, "contact log"},
        {names::kPhoneChapters, "chapters worked on phone"},
        {names::kCwChapters, "chapters worked on CW"},
        {names::kDigitalChapters, "chapters worked on digital modes"},
        {names::kBonusCalls, "bonus calls claimed"},
        {names::kHistory, "history of known stations"},
        {names::kRegistration, "registration"},
        {names::kCwMessages, "CW messages"},
        {names::kStartMessage, "start message switched off"},
        {names::kSerialPorts, "serial devices of the keying ports"},
    };
    QString text = QStringLiteral("VLWinLog %1\n"
                                  "A contest logger for the Velmara QSO Party.\n"
                                  "Licence: MIT (the full text is in "
                                  "/usr/share/doc/vlwinlog/copyright).\n\n"
                                  "Working folder: %2\n\nFiles in use:\n")
                       .arg(QStringLiteral(VL_PROGRAM_VERSION),
                            QDir::toNativeSeparators(
                                QString::fromStdString(folder.dir().string())));
    for (const File& file : files) {
        const bool there = folder.exists(file.name);
        text += QStringLiteral("  %1 (%2)%3\n")
                    .arg(QString::fromStdString(folder.resolve(file.name).filename().string()),
                         QString::fromLatin1(file.what),
                         there ? QString() : QStringLiteral(": not there"));
    }
    return text;
}

}  // namespace vl::ui

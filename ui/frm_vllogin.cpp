#include "ui/frm_vllogin.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "entry/utc_offset.h"
#include "logbook/data_folder.h"
#include "logbook/file_names.h"
#include "logbook/number_text.h"
#include "ui/entry_box.h"
#include "ui/program_host.h"
#include "ui/text_codec.h"

namespace vl::ui {

frmVLLogIn::frmVLLogIn(ProgramHost& host) : QDialog(nullptr), host_(host) {
    setObjectName(QStringLiteral("frmVLLogIn"));
    setWindowTitle(QStringLiteral("LogIn"));
    setModal(false);
    auto* grid = new QGridLayout(this);
    auto* heading =
        new QLabel(QStringLiteral("COMPLETE THE FOLLOWING INFORMATION TO LOGIN TO VLWINLOG"), this);
    heading->setObjectName(QStringLiteral("lblHeading"));
    grid->addWidget(heading, 0, 0, 1, 7, Qt::AlignHCenter);

    auto box = [&](EntryBox** target, const char* name, const char* labelName, const char* caption,
                   int row, int column, EntryBox::Filter filter = EntryBox::Filter::Plain) {
        auto* label = new QLabel(QString::fromLatin1(caption), this);
        label->setObjectName(QString::fromLatin1(labelName));
        *target = new EntryBox(this, filter);
        (*target)->setObjectName(QString::fromLatin1(name));
        grid->addWidget(label, row, column);
        grid->addWidget(*target, row, column + 1);
    };
    // Left column: callsign, chapter number, address, state; right column:
    // name, chapter name, city, ZIP; then e-mail; then report, year, UTC and
    // the button on the last row.
    box(&txtCallsignLogin, "txtCallsignLogin", "lblCallsignLogin", "Enter your Callsign:", 1, 0,
        EntryBox::Filter::UpperCase);
    box(&txtChapNoLogin, "txtChapNoLogin", "lblChapNoLogin", "Enter your Chapter No.:", 2, 0);
    box(&txtAddrLogin, "txtAddrLogin", "lblAddrLogin", "Enter your  Address:", 3, 0);
    box(&txtStateLogin, "txtStateLogin", "lblStateLogin", "Enter your State:", 4, 0);
    box(&txtNameLogin, "txtNameLogin", "lblNameLogin", "Enter your name:", 1, 2);
    box(&txtChapNamLogIn, "txtChapNamLogIn", "lblChapNamLogIn", "Enter your Chapter Name:", 2, 2);
    box(&txtCityLogin, "txtCityLogin", "lblCityLogin", "Enter your City:", 3, 2);
    box(&txtZipLogin, "txtZipLogin", "lblZipLogin", "Enter your ZipCode:", 4, 2);
    box(&txtEmail, "txtEmail", "lblEmail", "Enter your email address", 5, 0);
    grid->addWidget(txtEmail, 5, 1, 1, 3);
    box(&txtReportLogIn, "txtReportLogIn", "lblReportLogIn", "Enter  Report you Send:", 6, 0);
    box(&txtConYrLogin, "txtConYrLogin", "lblConYrLogin", "Enter the Contest Year:", 6, 2);
    box(&txtUTC, "txtUTC", "lblUTC", "Enter UTC ", 6, 4);
    cmdLoginData = new QPushButton(QStringLiteral("Submit Data"), this);
    cmdLoginData->setObjectName(QStringLiteral("cmdLoginData"));
    cmdLoginData->setAutoDefault(false);
    grid->addWidget(cmdLoginData, 6, 6);

    QWidget* order[] = {txtCallsignLogin, txtChapNoLogin, txtNameLogin, txtChapNamLogIn,
                        txtAddrLogin,     txtCityLogin,   txtStateLogin, txtZipLogin,
                        txtEmail,         txtReportLogIn, txtConYrLogin, txtUTC,
                        cmdLoginData};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

    txtChapNoLogin->installEventFilter(this);
    connect(cmdLoginData, &QPushButton::clicked, this, [this] { cmdLoginData_Click(); });
}

bool frmVLLogIn::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtChapNoLogin && event->type() == QEvent::FocusOut) {
        txtChapNoLogin_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void frmVLLogIn::txtChapNoLogin_LostFocus() {
    const std::string typed = toCp1252(txtChapNoLogin->text());
    if (logbook::isNumber(typed)) {
        txtChapNoLogin->setText(fromCp1252(logbook::formatWithZeros(typed, 3)));
    }
}

void frmVLLogIn::showRegistration(const logbook::Registration& r) {
    txtCallsignLogin->setText(fromCp1252(r.call));
    txtChapNoLogin->setText(fromCp1252(r.chapter));
    txtAddrLogin->setText(fromCp1252(r.address));
    txtStateLogin->setText(fromCp1252(r.state));
    txtReportLogIn->setText(fromCp1252(r.report));
    txtNameLogin->setText(fromCp1252(r.name));
    txtChapNamLogIn->setText(fromCp1252(r.chapterName));
    txtCityLogin->setText(fromCp1252(r.city));
    txtZipLogin->setText(fromCp1252(r.zip));
    txtConYrLogin->setText(fromCp1252(r.year));
    txtUTC->setText(QString::number(r.utcOffset));
    txtEmail->setText(fromCp1252(r.email));
}

void frmVLLogIn::showOffset(int utcOffset) { txtUTC->setText(QString::number(utcOffset)); }

void frmVLLogIn::clearBoxes() {
    for (EntryBox* box : findChildren<EntryBox*>()) box->clear();
}

void frmVLLogIn::cmdLoginData_Click() {
    const std::optional<int> offset = logbook::parseUtcOffset(toCp1252(txtUTC->text()));
    if (!offset) {
        host_.dialogs().message(fromCp1252(entry::kTypedOffsetRefused));
        txtUTC->setFocus();
        return;
    }
    logbook::Registration r;
    r.call = toCp1252(txtCallsignLogin->text());
    r.chapter = toCp1252(txtChapNoLogin->text());
    r.address = toCp1252(txtAddrLogin->text());
    r.state = toCp1252(txtStateLogin->text());
    r.report = toCp1252(txtReportLogIn->text());
    r.name = toCp1252(txtNameLogin->text());
    r.chapterName = toCp1252(txtChapNamLogIn->text());
    r.city = toCp1252(txtCityLogin->text());
    r.zip = toCp1252(txtZipLogin->text());
    r.year = toCp1252(txtConYrLogin->text());
    r.utcOffset = *offset;
    r.email = toCp1252(txtEmail->text());
    logbook::DataFolder folder(host_.environment().folder);
    if (auto error = folder.writeWhole(logbook::names::kRegistration,
                                       logbook::formatRegistrationLine(r))) {
        host_.dialogs().message(
            QStringLiteral("The registration could not be saved: ") +
            QString::fromLocal8Bit(error->description.c_str()) +
            QStringLiteral("\r\nNothing was changed."));
        return;
    }
    submitting_ = true;
    firstStart_ = false;
    hide();
    submitting_ = false;
    host_.reloadMainWindow();
}

void frmVLLogIn::closedWithoutSubmitting() {
    // At a first start the main window is hidden: without a registration there
    // is nothing to go back to, so the program ends instead of lingering.
    if (firstStart_ && !submitting_) host_.endProgram(0);
}

void frmVLLogIn::reject() {
    QDialog::reject();
    closedWithoutSubmitting();
}

void frmVLLogIn::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The operator types at once: the dialog takes the keyboard, callsign first.
    activateWindow();
    txtCallsignLogin->setFocus(Qt::ActiveWindowFocusReason);
}

void frmVLLogIn::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    closedWithoutSubmitting();
}

}  // namespace vl::ui

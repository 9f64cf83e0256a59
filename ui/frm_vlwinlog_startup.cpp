// Start-up: everything shown is rebuilt from the data files, so each start
// resumes where the last run stopped.
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimer>

#include "entry/utc_offset.h"
#include "keyer/default_messages.h"
#include "logbook/file_names.h"
#include "logbook/log_files.h"
#include "logbook/number_text.h"
#include "logbook/registration.h"
#include "logbook/small_files.h"
#include "scoring/derived_files_check.h"
#include "ui/display_text.h"
#include "ui/entry_box.h"
#include "ui/frm_vllogin.h"
#include "ui/frm_vlwinlog.h"
#include "ui/program_host.h"
#include "ui/text_codec.h"

namespace vl::ui {

namespace names = logbook::names;

namespace {

std::optional<int> computerUtcOffset(const ProgramEnvironment& environment) {
    if (environment.computerUtcOffset) return environment.computerUtcOffset();
    return QDateTime::currentDateTime().offsetFromUtc();
}

const char* const kWelcomePieces[] = {
    "Welcome to VLWinLog.  This program was created by ",
    "the VLWinLog developers",
    " for use by friends to log contacts ",
    "in the annual Velmara QSO Party.  No warranty or ",
    "other guarantee is offered.  Users should be aware that this ",
    "program is used at their own risk.  It would be a mistake to ",
    "use the program without reading the associated documentation. ",
    "While every effort was made to make the program intuitive in ",
    "operation, there are some functions that are not obvious. ",
    "It would be wise to experiment with the program in a non-contest ",
    "environment.  In addition to the VLWinLog program, the VLChapters ",
    "file is required and a History file is optional.  You must load ",
    "the additional files to the same folder where the program is ",
    "loaded.  Questions and/or other feedback can be sent to: ",
    "vlwinlog@example.org",
};

const char* const kStartMessageLines[] = {
    "VERY IMPORTANT!!! READ THIS INFORMATION!!! ",
    "",
    "The Program starts in a default logging operation ",
    "with the BAND on 20 Meters and the MODE on Phone",
    "You may change the Band or Mode at any time.  Contacts",
    "will be logged by pressing the INSERT key.",
    " ",
    "To use VLWINLOG to send Morse Code, you must open the",
    "COM Port.  Click SetPort on the Menu and click on SetPort1",
    "You may also select Port 2 if your computer is so equipped.",
    " ",
    "WARNING!!!  DO NOT CLICK ON SETPORT IF YOUR COMPUTER DOES NOT",
    "HAVE A 9 OR 25 PIN SERIAL PORT.  OR.. YOU HAVE A USB TO SERIAL ADAPTER",
    "UNEXPECTED RESULTS MAY OCCUR.",
    "",
    "",
    "ALWAYS SHOW THIS MESSAGE WHEN PROGRAM STARTS   ",
};

}  // namespace

QString welcomeText() {
    QString text;
    for (const char* piece : kWelcomePieces) text += QString::fromLatin1(piece);
    return text;
}

QString startMessageText() {
    QStringList lines;
    for (const char* line : kStartMessageLines) lines << QString::fromLatin1(line);
    return lines.join(QStringLiteral("\r\n"));
}

void frmVLWinLog::loadChapterLists() {
    struct ChapterList {
        std::string_view file;
        QListWidget* list;
    };
    for (const ChapterList& c : {ChapterList{names::kPhoneChapters, lstChptrswrked},
                                 ChapterList{names::kCwChapters, lstCWChapswrked},
                                 ChapterList{names::kDigitalChapters, lstDigChapsWrk}}) {
        c.list->clear();
        for (const std::string& chapter : logbook::readFirstFields(folder_.read(c.file).content)) {
            c.list->addItem(fromCp1252(logbook::formatWithZeros(chapter, 3)));
        }
    }
    counters_.chptot = static_cast<int16_t>(lstChptrswrked->count());
    counters_.ochptot = static_cast<int16_t>(lstCWChapswrked->count());
    counters_.dchptot = static_cast<int16_t>(lstDigChapsWrk->count());
}

bool frmVLWinLog::Form_Load() {
    // Calibrate the CW timing.
    keyer_.calibrate();
    // Counters, switches and hidden displays.
    ZeroCounters();
    HistoryFile_ = QStringLiteral("On");
    CountFlag_ = QStringLiteral("Yes");
    frmCounters->hide();
    txtPrevCon->hide();
    txtNewChap->hide();
    Prompt_ = QStringLiteral("OFF");
    BonusTim_ = QStringLiteral("ON");
    NewChapTim_ = QStringLiteral("ON");

    // Registration, or the first-start welcome.
    const bool registered = folder_.exists(names::kRegistration) &&
                            folder_.read(names::kRegistration).ok();
    logbook::Registration kept;
    if (!registered) {
        dialogs_.message(welcomeText());
        dialogs_.message(QStringLiteral(
            "You will now input information used by VLWinLog for logging and printing reports"));
        hide();
        frmVLLogIn* login = host_.loginDialog();
        login->setFirstStart(true);
        login->show();
    } else {
        const logbook::RegistrationRead read =
            logbook::parseRegistration(folder_.read(names::kRegistration).content);
        kept = read.registration;
        uHr_ = kept.utcOffset;
        if (read.fieldsRead >= 11 && !read.offsetValid) {
            dialogs_.message(q(entry::kStoredOffsetRefused));
        } else if (const std::optional<int> east = computerUtcOffset(host_.environment())) {
            // Stamping always uses the registered offset; the operator is
            // told once when the computer's clock says otherwise.
            const std::string notice = entry::offsetMismatchNotice(uHr_, *east);
            if (!notice.empty()) dialogs_.message(q(notice));
        }
        emailadr_ = fromCp1252(kept.email);
        HomeChap_ = fromCp1252(kept.chapter);
    }
    // The operator label and the UTC offset.
    Label12->setText(QStringLiteral(" ") + fromCp1252(kept.call) + QStringLiteral(" - - ") +
                     fromCp1252(kept.year));
    txtTotOtrCts->setText(QString::number(uHr_));
    // The clock, and 20 m phone.
    Timer1->setInterval(1000);
    cboBand->setCurrentIndex(3);
    cboMode->setCurrentIndex(0);
    // Missing files are created empty; failures here are ignored.
    for (std::string_view name : {names::kBonusCalls, names::kHistory, names::kPhoneChapters,
                                  names::kCwChapters, names::kDigitalChapters}) {
        folder_.touch(name);
    }
    // The roster is required.
    if (!folder_.exists(names::kRoster)) {
        dialogs_.message(QStringLiteral("The VLChapters File is not found.You must copy\r\n"
                                        "the VLChapters.txt file to  the same folder that has\r\n"
                                        "VLWinLog."));
        host_.endProgram(1);
        return false;
    }
    if (auto roster = folder_.read(names::kRoster); !roster.ok()) {
        dialogs_.beep();
        dialogs_.message(QString::fromLocal8Bit(roster.error->description.c_str()), {},
                         Dialogs::Icon::Critical);
        host_.endProgram(1);
        return false;
    }
    // The start-message switch.
    if (!folder_.read(names::kStartMessage).ok()) {
        folder_.writeWhole(names::kStartMessage, logbook::formatStartSwitch(true));
    }
    // The contact log, and lines a stopped write or a power cut left broken.
    folder_.touch(names::kContactLog);
    bool logWhole = true;
    if (const auto log = folder_.read(names::kContactLog); log.ok()) {
        const std::vector<std::string_view> broken = logbook::brokenLogLines(log.content);
        logWhole = broken.empty();
        if (!broken.empty() && dialogs_.question(q(logbook::brokenLinesQuestion(broken)), {},
                                                 Dialogs::Icon::Exclamation)) {
            if (auto error = logbook::setAsideBrokenLines(folder_, log.content)) {
                dialogs_.message(QStringLiteral("The cut line could not be set aside: ") +
                                     QString::fromLocal8Bit(error->description.c_str()),
                                 {}, Dialogs::Icon::Critical);
            } else {
                logWhole = true;
            }
        }
    }
    // Chapters-worked and bonus-call files that a power cut left behind the
    // log, or beside a log that is gone, are rebuilt as Recount does; not
    // while broken lines the operator kept are in the log, which a recount
    // would refuse.
    if (const scoring::DerivedFilesCheck check =
            logWhole ? scoring::checkDerivedFiles(folder_) : scoring::DerivedFilesCheck{};
        !check.agrees() && dialogs_.question(q(scoring::derivedFilesQuestion(check)), {},
                                             Dialogs::Icon::Exclamation, true)) {
        mnuRecount_Click();
        if (host_.ended()) return false;
    }
    // The chapters worked in each mode.
    loadChapterLists();
    // The CW messages, or the defaults from the registration.
    logbook::CwMessages saved;
    auto cwFile = folder_.read(names::kCwMessages);
    if (cwFile.ok() && logbook::parseCwMessages(cwFile.content, saved)) {
        Buff = saved;
        for (size_t i = 0; i < txtF.size(); ++i) txtF[i]->setText(fromCp1252(Buff[i]));
    } else {
        if (folder_.exists(names::kCwMessages)) {
            // Say so before the defaults replace them, so a saved set is not
            // overwritten unnoticed by the next save.
            dialogs_.message(QStringLiteral(
                "The CW messages in CWBuffRecord.txt could not be read, so the default "
                "messages are used.  Saving a message will replace that file."));
        }
        const keyer::DefaultMessages defaults = keyer::defaultCwMessages(kept);
        for (size_t i = 0; i < defaults.f.size(); ++i) txtF[i]->setText(fromCp1252(defaults.f[i]));
        SignOff = defaults.SignOff;
    }
    // Counters and the recent log from the log.
    SetCounters();
    fillRecentLog(true);
    emit logChanged();
    // The start message.
    if (registered &&
        logbook::startMessageWanted(folder_.read(names::kStartMessage).content)) {
        const bool again = dialogs_.question(
            startMessageText(), QStringLiteral("IMPORTANT!!!  READ THIS CAREFULLY!!!  "),
            Dialogs::Icon::Question);
        folder_.writeWhole(names::kStartMessage, logbook::formatStartSwitch(again));
    }
    // No keying port is open at start.
    setCwGroupVisible(false);
    setPortLayout(false);
    // Start-up is complete; the clock runs.
    Timer1->start();
    Timer1_Timer();
    if (registered) {
        show();
        CursorSet();
        loadRigFollowing();
    }
    return true;
}

}  // namespace vl::ui

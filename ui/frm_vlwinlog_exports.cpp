// The two exports of the File menu: the log as a Cabrillo file for the log
// checkers and as an ADIF file for logbooks and QSL services.
#include <QDir>
#include <QFile>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "exports/adif.h"
#include "exports/export_file.h"
#include "exports/export_log.h"
#include "ui/display_text.h"
#include "ui/frm_vlwinlog.h"
#include "ui/text_codec.h"

namespace vl::ui {

namespace {

// Offers the modes in a list the operator may also type into; the text as
// typed, or nothing when the box was cancelled.
std::optional<std::string> askMode(Dialogs& dialogs, const QString& title, const QString& prompt,
                                   std::span<const std::string_view> modes) {
    QStringList items;
    for (std::string_view mode : modes) {
        items << QString::fromLatin1(mode.data(), static_cast<qsizetype>(mode.size()));
    }
    const QString typed = dialogs.choose(prompt, title, items);
    if (typed.isEmpty()) return std::nullopt;
    return toCp1252(typed);
}

}  // namespace

void frmVLWinLog::mnuExportCabrillo_Click() { exportLog(exports::ExportFormat::kCabrillo); }

void frmVLWinLog::mnuExportAdif_Click() { exportLog(exports::ExportFormat::kAdif); }

void frmVLWinLog::exportLog(exports::ExportFormat format) {
    const bool cabrillo = format == exports::ExportFormat::kCabrillo;
    const QString title = cabrillo ? QStringLiteral("Export Cabrillo") : QStringLiteral("Export ADIF");
    // The score claimed is the one the summary sheet prints from these totals.
    const exports::ExportLogRead read = exports::readExportLog(folder_, &counters_);
    if (!read.ok()) {
        dialogs_.message(q(read.problem));
        return;
    }

    if (const std::string refusal = exports::exportRefusal(read.log, format); !refusal.empty()) {
        dialogs_.message(q(refusal));
        return;
    }

    exports::AdifOptions options;
    options.createdTimestamp = exports::adifTimestampNow();
    if (!cabrillo && read.log.has(exports::AdifModeFrom::kDigitalChoice)) {
        const auto typed = askMode(
            dialogs_, title,
            QStringLiteral("The log does not say which digital mode its DIG contacts were made in."
                           "\nADIF mode for them (MODE, SUBMODE or MODE/SUBMODE):"),
            exports::kDigitalModeChoices);
        if (!typed) return;
        const exports::DigitalModeRead mode = exports::parseDigitalMode(*typed);
        if (!mode.mode) {
            dialogs_.message(q(mode.problem));
            return;
        }
        options.digital = *mode.mode;
    }
    if (!cabrillo && read.log.has(exports::AdifModeFrom::kPhoneChoice)) {
        const auto typed = askMode(dialogs_, title,
                                   QStringLiteral("The log does not say which phone mode its PHN contacts were "
                                                  "made in.\nADIF mode for them:"),
                                   exports::kPhoneModes);
        if (!typed) return;
        const std::optional<std::string> mode = exports::parsePhoneMode(*typed);
        if (!mode) {
            dialogs_.message(q(exports::badPhoneModeMessage(*typed)));
            return;
        }
        options.phone = *mode;
    }

    const reports::SheetFileName name = exports::exportFileName(read.log.registration, format);
    const QString start = QDir(QString::fromStdString(folder_.dir().string()))
                              .filePath(QString::fromStdString(name.onDisk));
    // A file of the program's own is refused, and the box opens again.
    std::filesystem::path target;
    std::string shown;
    for (QString offered = start;;) {
        const QString chosen = dialogs_.saveFileName(
            title, offered,
            cabrillo ? QStringLiteral("Cabrillo logs (*.log *.cbr);;All files (*)")
                     : QStringLiteral("ADIF files (*.adi);;All files (*)"));
        if (chosen.isEmpty()) return;
        target = QFile::encodeName(chosen).toStdString();
        shown = toCp1252(QDir::toNativeSeparators(chosen));
        const std::string refused = exports::refusedExportTarget(folder_, target, shown);
        if (refused.empty()) break;
        dialogs_.message(q(refused));
        offered = chosen;
    }
    if (auto error = exports::writeExport(read.log, format, options, target)) {
        dialogs_.message(q(exports::notWrittenMessage(shown, *error)));
        return;
    }
    std::string done = exports::exportedMessage(format, shown, read.log.contacts.size());
    if (cabrillo && read.log.beyondSixteenBits) {
        done += "\r\n" + exports::scoreBeyondRangeNote(read.log.claimedScore);
    }
    dialogs_.message(q(done));
}

}  // namespace vl::ui

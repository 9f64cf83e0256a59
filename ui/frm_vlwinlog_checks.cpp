// The check panels beside the window's own elements (partial check, needed
// chapters), the dupe colour of the callsign box and the keyer's state
// beside the CW messages: built here and fed by signals of the window's
// boxes, lists and menus.
#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include "entry/lookups.h"
#include "entry/needed_chapters.h"
#include "entry/partial_check.h"
#include "keyer/speed_keys.h"
#include "logbook/quoted_line.h"
#include "logbook/small_files.h"
#include "ui/check_panels.h"
#include "ui/entry_box.h"
#include "ui/frm_vlwinlog.h"
#include "ui/keyer_state.h"
#include "ui/text_codec.h"

namespace vl::ui {

namespace {

const QColor kDupeBackground(255, 150, 150);
constexpr int kPanelWidth = 320;

}  // namespace

void frmVLWinLog::buildCheckPanels() {
    index_ = std::make_unique<entry::LogIndex>(folder_);
    // Built once start-up is over; later queries keep it up to date.
    QTimer::singleShot(0, this, [this] {
        index_->refresh(entry::LogIndex::File::Log);
        index_->refresh(entry::LogIndex::File::History);
    });

    checkPanels_ = new CheckPanels;
    dockCheckPanels = new QDockWidget(QStringLiteral("Check Panels"), this);
    dockCheckPanels->setObjectName(QStringLiteral("dockCheckPanels"));
    dockCheckPanels->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dockCheckPanels->setTitleBarWidget(new QWidget(dockCheckPanels));
    dockCheckPanels->setFocusPolicy(Qt::NoFocus);
    dockCheckPanels->setWidget(checkPanels_);
    dockCheckPanels->setMinimumWidth(kPanelWidth);
    addDockWidget(Qt::RightDockWidgetArea, dockCheckPanels);

    // The keyer's state in the free place right of F10, shown with the CW boxes.
    keyerState_ = new KeyerState(centralWidget());
    ActiveResize1.place(keyerState_, QRect(376, 424, 630, 24));
    keyerState_->hide();

    callsignPalette_ = txtCallsign->palette();
    connect(txtCallsign, &QLineEdit::textChanged, this, [this] { updatePartialCheck(); });
    connect(txtChapter, &QLineEdit::textChanged, checkPanels_, &CheckPanels::markChapter);
    for (QComboBox* selector : {cboBand, cboMode}) {
        connect(selector, &QComboBox::currentIndexChanged, this, [this] { updatePartialCheck(); });
    }
    connect(cboMode, &QComboBox::currentIndexChanged, this, [this] { queueNeededChapters(); });
    // The chapters-worked lists change at INSERT, Recount and Delete Log.
    for (QListWidget* list : {lstChptrswrked, lstCWChapswrked, lstDigChapsWrk}) {
        QAbstractItemModel* model = list->model();
        connect(model, &QAbstractItemModel::rowsInserted, this, [this] { queueNeededChapters(); });
        connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { queueNeededChapters(); });
        connect(model, &QAbstractItemModel::modelReset, this, [this] { queueNeededChapters(); });
    }
    // After each command of the speed menu has set the speed.
    for (QAction* command : findChild<QMenu*>(QStringLiteral("mnuCWspeed"))->actions()) {
        connect(command, &QAction::triggered, this, [this] { showSpeed(); });
    }

    statusBar()->setObjectName(QStringLiteral("statusBar"));
    auto* view = findChild<QMenu*>(QStringLiteral("mnuView"));
    mnuCheckPanels = view->addAction(QStringLiteral("Check Panels"));
    mnuCheckPanels->setObjectName(QStringLiteral("mnuCheckPanels"));
    mnuCheckPanels->setCheckable(true);
    mnuCheckPanels->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    mnuCheckPanels->setShortcutContext(Qt::WindowShortcut);
    const logbook::ReadResult setting = folder_.read(CheckPanels::kSettingFile);
    const std::vector<std::string> fields = logbook::readFirstFields(setting.content);
    const bool on = fields.empty() || fields.front() != "Off";
    mnuCheckPanels->setChecked(on);
    dockCheckPanels->setVisible(on);
    connect(mnuCheckPanels, &QAction::triggered, this, [this](bool checked) { mnuCheckPanels_Click(checked); });
    // The window's own area keeps its design size and the panels come beside
    // it, as far as the screen allows; on a smaller screen the proportional
    // layout scales the window's own area down.
    int wide = width() + (on ? kPanelWidth : 0);
    if (QScreen* screen = this->screen()) wide = std::min(wide, screen->availableGeometry().width());
    resize(wide, height() + statusBar()->sizeHint().height());
    queueNeededChapters();
}

void frmVLWinLog::mnuCheckPanels_Click(bool on) {
    if (on) {
        updatePartialCheck();
        queueNeededChapters();
    }
    dockCheckPanels->setVisible(on);
    if (auto error = folder_.writeWhole(CheckPanels::kSettingFile,
                                        logbook::formatSingleFieldLine(on ? "On" : "Off"))) {
        statusBar()->showMessage(QStringLiteral("The choice could not be kept in %1: %2")
                                     .arg(QString::fromLatin1(CheckPanels::kSettingFile),
                                          QString::fromLocal8Bit(error->description.c_str())),
                                 10000);
    }
}

void frmVLWinLog::updatePartialCheck() {
    const std::string call = toCp1252(txtCallsign->text());
    const std::string band = toCp1252(cboBand->currentText());
    const std::string mode = toCp1252(cboMode->currentText());
    // The colour says what the dupe check at TAB will find; the question
    // still comes there.
    const bool dupe = !logbook::trimBlanks(call).empty() &&
                      entry::findDupe(call, band, mode, *index_).match.has_value();
    QPalette palette = callsignPalette_;
    if (dupe) {
        palette.setColor(QPalette::Base, kDupeBackground);
        palette.setColor(QPalette::Text, Qt::black);
    }
    txtCallsign->setPalette(palette);
    txtCallsign->setAccessibleDescription(dupe ? QStringLiteral("dupe") : QString());
    if (!mnuCheckPanels->isChecked()) return;
    checkPanels_->showPartial(
        entry::checkPartial(call, band, mode, HistoryFile_ == QLatin1String("On"), *index_));
}

void frmVLWinLog::queueNeededChapters() {
    if (neededQueued_) return;
    neededQueued_ = true;
    QTimer::singleShot(0, this, [this] { updateNeededChapters(); });
}

void frmVLWinLog::updateNeededChapters() {
    neededQueued_ = false;
    const QString mode = cboMode->currentText();
    checkPanels_->showNeeded(entry::neededChapters(toCp1252(mode), folder_), mode);
    checkPanels_->markChapter(txtChapter->text());
}

void frmVLWinLog::stepSpeed(bool up) {
    keyer_.setSpeedWpm(keyer::speedAfterKey(keyer_.swpm, up));
    showSpeed();
}

void frmVLWinLog::showSpeed() { keyerState_->setSpeed(keyer_.swpm); }

}  // namespace vl::ui

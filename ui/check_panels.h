#pragma once
// The check panels beside the window's own elements: the partial check of
// the call being typed and the chapters still needed in the current mode.
// They never take the focus and never show a box; the window feeds them.
#include <QString>
#include <QWidget>

#include "entry/needed_chapters.h"
#include "entry/partial_check.h"

class QLabel;
class QListWidget;

namespace vl::ui {

class CheckPanels : public QWidget {
    Q_OBJECT
public:
    explicit CheckPanels(QWidget* parent = nullptr);

    // The file name the choice to show the panels is kept in, "On" or "Off".
    static constexpr const char* kSettingFile = "VLCheckPanels.txt";

public slots:
    void showPartial(const vl::entry::PartialCheck& check);
    void showNeeded(const vl::entry::NeededChapters& needed, const QString& mode);
    // Marks the chapter typed in the chapter box when it is still needed.
    void markChapter(const QString& typed);

private:
    QLabel* partialTitle_;
    QListWidget* partial_;
    QLabel* neededTitle_;
    QListWidget* needed_;
    entry::NeededChapters shownNeeded_;
    int markedRow_ = -1;
};

}  // namespace vl::ui

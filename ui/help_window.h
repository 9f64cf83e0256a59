#pragma once
// The Help menu's two pieces: the Keys window, which lists every key of the
// program by group from the one key list (entry/key_list.h), and the text of
// About VLWinLog.
#include <QDialog>
#include <QString>

#include "logbook/data_folder.h"

namespace vl::ui {

class KeysWindow : public QDialog {
    Q_OBJECT
public:
    explicit KeysWindow(QWidget* parent = nullptr);
};

// The program's version and licence, the working folder and the files the
// program keeps there, each marked when it is not there (yet).
QString aboutText(const logbook::DataFolder& folder);

}  // namespace vl::ui

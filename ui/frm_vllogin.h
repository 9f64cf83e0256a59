#pragma once
// The registration dialog: the operator's station details, written to
// "LogOnFile.txt" by Submit Data.
#include <QDialog>
#include <array>

#include "logbook/registration.h"

class QLabel;
class QPushButton;

namespace vl::ui {

class EntryBox;
class ProgramHost;

class frmVLLogIn : public QDialog {
    Q_OBJECT
public:
    explicit frmVLLogIn(ProgramHost& host);

    // Puts a registration into the boxes (Show Login).
    void showRegistration(const logbook::Registration& registration);
    void clearBoxes();
    void showOffset(int utcOffset);
    // Whether this showing of the dialog came from a first start, where
    // closing it without registering ends the program.
    void setFirstStart(bool firstStart) { firstStart_ = firstStart; }
    bool firstStart() const { return firstStart_; }

    void cmdLoginData_Click();
    void txtChapNoLogin_LostFocus();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void closedWithoutSubmitting();

    ProgramHost& host_;
    EntryBox* txtCallsignLogin = nullptr;
    EntryBox* txtChapNoLogin = nullptr;
    EntryBox* txtNameLogin = nullptr;
    EntryBox* txtChapNamLogIn = nullptr;
    EntryBox* txtAddrLogin = nullptr;
    EntryBox* txtCityLogin = nullptr;
    EntryBox* txtStateLogin = nullptr;
    EntryBox* txtZipLogin = nullptr;
    EntryBox* txtEmail = nullptr;
    EntryBox* txtReportLogIn = nullptr;
    EntryBox* txtConYrLogin = nullptr;
    EntryBox* txtUTC = nullptr;
    QPushButton* cmdLoginData = nullptr;
    bool firstStart_ = false;
    bool submitting_ = false;
};

}  // namespace vl::ui

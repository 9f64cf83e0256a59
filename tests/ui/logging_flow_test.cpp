// Logging contacts by typing them into the real window.
#include "window_test_support.h"

namespace vl::ui::test {
namespace {

class LoggingFlowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        prepareRegisteredFolder();
        ASSERT_TRUE(startProgram());
        activate();
    }
};

TEST_F(LoggingFlowTest, NewStationTypedAndInsertedIsAppendedToTheLog) {
    typeInto("txtCallsign", QStringLiteral("k1abc"));
    EXPECT_EQ(text("txtCallsign"), QStringLiteral("K1ABC"));
    tab();
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtYears"));
    EXPECT_EQ(text("txtYears"), QStringLiteral("59"));
    EXPECT_EQ(text("txtRptRcv"), QStringLiteral("59"));
    tab();
    tab();
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtChapter"));
    typeInto("txtChapter", QStringLiteral("7"));
    tab();
    EXPECT_EQ(text("txtChapter"), QStringLiteral("007"));
    EXPECT_EQ(window()->N(), 1);
    typeInto("txtName", QStringLiteral("bob"));
    pressWindowKey(Qt::Key_Insert);
    for (const QString& t : dialogs->texts()) ADD_FAILURE() << t.toStdString();
    const std::string date = text("txtDate").toStdString();
    const std::string time = text("txtTime").toStdString();
    EXPECT_EQ(readFile("vlqsolog.txt"), "\"K1ABC   \",\"59  \",\"59  \",\"007\",\"BOB    \",\"20 \",\"PHN\",\"" +
                                            date + "\",\"" + time + " \",\"\"\r\n");
    EXPECT_EQ(readFile("chapsworked.txt"), "\"007\"\r\n");
    EXPECT_EQ(text("txtCallsign"), QString());
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtCallsign"));
    EXPECT_EQ(text("txt20PHN"), QStringLiteral(" 1"));
}

}  // namespace
}  // namespace vl::ui::test

// The hidden Alert tab: the "applied" mark, its status texts and the kept-setting box.
#include "gui/alert/AlertTab.h"
#include "platform/SettingsStore.h"
#include "settings/Settings.h"
#include "tests/gui/FindChild.h"
#include "tests/gui/alert/StringPrinters.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(AlertTabTest, KeptMinutesCountAsAppliedUntilChangedAndTheBoxIsWrittenOnRelease)
{
    AlertTab tab;
    struct WriteLog final : SettingsStore
    {
        QString ReadIniFromReg(const QString&, const QString&) const override { return QString(); }
        bool WriteIniToReg(const QString&, const QString& name, const QString& value) override
        {
            written.append(name + '=' + value);
            return true;
        }
        QString problem() const override { return QString(); }
        QStringList written;
    } store;
    Settings settings(store);
    const QStringList& written = store.written;
    tab.setSettings(&settings);
    tab.LoadSettings(true, 30);
    EXPECT_TRUE(child<QCheckBox>(tab, "chkKeepAlertSet")->isChecked());
    EXPECT_EQ(child<QSpinBox>(tab, "seAlertMin")->value(), 30);
    EXPECT_TRUE(tab.AlertApplied());
    EXPECT_TRUE(child<QLabel>(tab, "lblAlertStatus")->text().isEmpty());

    tab.show();
    const QString applied = child<QLabel>(tab, "lblAlertStatus")->text();
    EXPECT_FALSE(applied.isEmpty());
    child<QSpinBox>(tab, "seAlertMin")->setValue(45);
    EXPECT_FALSE(tab.AlertApplied());
    tab.hide();
    tab.show();
    EXPECT_NE(child<QLabel>(tab, "lblAlertStatus")->text(), applied);

    QTest::mouseClick(child<QCheckBox>(tab, "chkKeepAlertSet"), Qt::LeftButton, {},
                      QPoint(6, child<QCheckBox>(tab, "chkKeepAlertSet")->height() / 2));
    QCoreApplication::processEvents();
    QTest::keyClick(child<QCheckBox>(tab, "chkKeepAlertSet"), Qt::Key_Space);
    QCoreApplication::processEvents();
    EXPECT_EQ(written,
              QStringList({QStringLiteral("Check Keep Alert Set=0"), QStringLiteral("Check Keep Alert Set=1")}));
}

TEST(AlertTabTest, WithoutKeepingTheStoredMinutesAreIgnored)
{
    AlertTab tab;
    tab.LoadSettings(false, std::nullopt);
    EXPECT_FALSE(tab.AlertApplied());
    EXPECT_EQ(child<QSpinBox>(tab, "seAlertMin")->value(), 0);
}

} // namespace

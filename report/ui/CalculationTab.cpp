// Builds the Calculation tab's controls in their design state.
#include "report/ui/CalculationTab.h"

#include "ui/Named.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>

CalculationTab::CalculationTab(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tabCalculation"));
    ListBox1 = named(new QListWidget(this), "ListBox1");
    btnSearchDir = named(new QToolButton(this), "btnSearchDir");
    btnSearchDir->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    btnSearchDir->setToolTip(QStringLiteral("Search"));
    btnRefresh = named(new QToolButton(this), "btnRefresh");
    btnRefresh->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    btnRefresh->setToolTip(QStringLiteral("Refresh"));
    btnDetail = named(new QPushButton(QStringLiteral("&Show detail"), this), "btnDetail");
    stbOnCal = named(new QStatusBar(this), "stbOnCal");
    stbOnCal->setSizeGripEnabled(false);
    btnImg = named(new QToolButton(this), "btnImg");
    btnImg->setAutoRaise(true);
    btnImg->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));

    gbCal = named(new QGroupBox(this), "gbCal");
    const auto label = [this](const QString& text, const char* name, bool bold = false) {
        auto* l = named(new QLabel(text, gbCal), name);
        if (bold) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        return l;
    };
    lblFileCreated = label(QStringLiteral("file created :"), "lblFileCreated");
    lblFrom = label(QStringLiteral("From :"), "lblFrom");
    lblTo = label(QStringLiteral("To :"), "lblTo");
    lblFirstRecord = label(QStringLiteral("first record :"), "lblFirstRecord");
    lblLastRecord = label(QStringLiteral("last record :"), "lblLastRecord");
    lblTotalTime = label(QStringLiteral("Total Time : "), "lblTotalTime");
    lblUsedTime = label(QString(), "lblUsedTime", true);
    lblTotalReceived = label(QStringLiteral("Downloaded :"), "lblTotalReceived");
    lblReceivedBytes = label(QString(), "lblReceivedBytes", true);
    lblTotalSent = label(QStringLiteral("Uploaded :"), "lblTotalSent");
    lblSentBytes = label(QString(), "lblSentBytes", true);
    lblCurFee = label(QStringLiteral("Fee :"), "lblCurFee");
    lblResultedFee = label(QString(), "lblResultedFee", true);
    auto* cal = new QGridLayout(gbCal);
    cal->addWidget(lblFileCreated, 0, 0, 1, 2);
    cal->addWidget(lblFrom, 1, 0);
    cal->addWidget(lblTo, 1, 1);
    cal->addWidget(lblFirstRecord, 2, 0, 1, 2);
    cal->addWidget(lblLastRecord, 3, 0, 1, 2);
    cal->addWidget(lblTotalTime, 4, 0);
    cal->addWidget(lblUsedTime, 4, 1);
    cal->addWidget(lblTotalReceived, 5, 0);
    cal->addWidget(lblReceivedBytes, 5, 1);
    cal->addWidget(lblTotalSent, 6, 0);
    cal->addWidget(lblSentBytes, 6, 1);
    cal->addWidget(lblCurFee, 7, 0);
    cal->addWidget(lblResultedFee, 7, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSearchDir);
    buttons->addWidget(btnRefresh);
    buttons->addWidget(btnImg);
    buttons->addStretch(1);
    buttons->addWidget(btnDetail);
    auto* page = new QGridLayout(this);
    page->addWidget(ListBox1, 0, 0, 2, 1);
    page->addWidget(gbCal, 0, 1);
    page->addLayout(buttons, 1, 1);
    page->addWidget(stbOnCal, 2, 0, 1, 2);
}

// Builds the session list window.
#include "report/ui/TMessageOut.h"

#include "ui/Named.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>

TMessageOut::TMessageOut(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TMessageOut"));
    setWindowTitle(QStringLiteral("Message Output"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    move(276, 21);

    lbMessage = named(new QListView(this), "lbMessage");
    lbMessage->setFixedSize(268, 351);
    lbMessage->setUniformItemSizes(true);
    pnBottom = named(new QWidget(this), "pnBottom");
    pnBottom->setFixedSize(268, 140);
    const auto total = [this](const QString& caption, const char* boxName, const char* labelName, QLabel*& label) {
        auto* box = named(new QGroupBox(caption, pnBottom), boxName);
        label = named(new QLabel(box), labelName);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        (new QVBoxLayout(box))->addWidget(label);
        return box;
    };
    GroupBox1 = total(QStringLiteral(" Downloaded "), "GroupBox1", "lblTotalReceived", lblTotalReceived);
    GroupBox2 = total(QStringLiteral(" Uploaded "), "GroupBox2", "lblTotalSent", lblTotalSent);
    gbTotalTime = total(QStringLiteral(" Total time "), "gbTotalTime", "lblTotalTime", lblTotalTime);
    btnOK = named(new QPushButton(QStringLiteral("&OK"), pnBottom), "btnOK");
    auto* bottom = new QGridLayout(pnBottom);
    bottom->addWidget(GroupBox1, 0, 0);
    bottom->addWidget(GroupBox2, 0, 1);
    bottom->addWidget(gbTotalTime, 1, 0);
    bottom->addWidget(btnOK, 1, 1, Qt::AlignRight | Qt::AlignBottom);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(7, 7, 7, 7);
    page->addWidget(lbMessage);
    page->addWidget(pnBottom);
    page->setSizeConstraint(QLayout::SetFixedSize);
    connect(btnOK, &QPushButton::clicked, this, &QWidget::hide);
}

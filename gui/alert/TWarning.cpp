// The warning window of the alert sound.
#include "gui/alert/TWarning.h"

#include "common/AppInfo.h"
#include "gui/widgets/Named.h"

#include <QApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {
constexpr int borderWidth = 10;
}

TWarning::TWarning(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TWarning"));
    // A fixed frame with the window menu only; it stays above the other windows.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    imgWarn = named(new QLabel(this), "imgWarn");
    imgWarn->setFixedSize(32, 32);
    imgWarn->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    lblWarn = named(new QLabel(this), "lblWarn");
    lblWarn->setWordWrap(true);
    // As wide as the window's title needs, and as high as the text: a one-line warning is a small box.
    const int titleRoom = fontMetrics().horizontalAdvance(AppInfo::ProgramTitle) * 6 / 5 + 110;
    lblWarn->setFixedWidth(qMax(209, titleRoom - 2 * borderWidth - 32 - 6));
    lblWarn->setMinimumHeight(32);
    lblWarn->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    btnOK = named(new QPushButton(QStringLiteral("OK"), this), "btnOK");
    btnOK->setFixedSize(81, 28);
    btnOK->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(borderWidth, borderWidth, borderWidth, borderWidth);
    layout->addWidget(imgWarn, 0, 0, Qt::AlignTop);
    layout->addWidget(lblWarn, 0, 1);
    layout->addWidget(btnOK, 1, 1, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnOK, &QPushButton::clicked, this, &TWarning::btnOKClick);
    FormCreate();
}

void TWarning::FormCreate()
{
    setWindowIcon(QApplication::windowIcon());
    setWindowTitle(AppInfo::ProgramTitle);
}

void TWarning::btnOKClick()
{
    close();
}

TWarning* TWarning::open(const QString& text)
{
    auto* warning = new TWarning;
    warning->lblWarn->setText(text);
    warning->adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = warning->frameGeometry();
        frame.moveCenter(screen->geometry().center());
        warning->move(frame.topLeft());
    }
    warning->show();
    warning->raise();
    warning->activateWindow();
    return warning;
}

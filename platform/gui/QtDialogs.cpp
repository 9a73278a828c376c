// Message boxes: modal ones for what a click asked, and boxes that do not wait for what a tick raises. A modal
// box runs its own event loop, but the timer whose handler opened it does not fire again until it closes.
#include "platform/gui/QtDialogs.h"

#include "platform/Trace.h"

#include <QApplication>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>

void QtDialogs::beep()
{
    QApplication::beep();
}

namespace {
// A box as narrow as a short message would cut the program's name in its title bar: it is kept wide enough
// for the title, with room for the title bar's icon and buttons.
void keepTitleInView(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) * 6 / 5 + 110;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

QMessageBox::Icon iconOf(Dialogs::Kind kind)
{
    return kind == Dialogs::Kind::Information ? QMessageBox::Information
           : kind == Dialogs::Kind::Warning   ? QMessageBox::Warning
                                              : QMessageBox::Critical;
}
} // namespace

void QtDialogs::showMessage(Kind kind, const QString& text)
{
    QMessageBox box(iconOf(kind), m_title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("messageBox"));
    keepTitleInView(box);
    box.exec();
}

void QtDialogs::notify(Kind kind, const QString& text, std::function<void()> closed)
{
    // No parent: the box must not take a hidden main window, or the tray's menu, down with it.
    auto* box = new QMessageBox(iconOf(kind), m_title, text, QMessageBox::Ok);
    box->setObjectName(QStringLiteral("messageBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    keepTitleInView(*box);
    QObject::connect(box, &QMessageBox::finished, box, [closed = std::move(closed)] {
        if (closed)
            closed();
    });
    Trace::line(QStringLiteral("message-box ") + QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    box->show();
    box->raise();
    box->activateWindow();
}

bool QtDialogs::confirm(const QString& text)
{
    // No is the default: Enter or Esc never throws anything away.
    QMessageBox box(QMessageBox::Question, m_title, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("questionBox"));
    box.setDefaultButton(QMessageBox::No);
    keepTitleInView(box);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::inputBox(const QString& caption, const QString& prompt, const QString& initial)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

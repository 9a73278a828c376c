// Modal boxes run their own event loop, so the program's timers go on ticking underneath them.
#include "platform/gui/QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

void QtDialogs::beep()
{
    QApplication::beep();
}

void QtDialogs::showMessage(Kind kind, const QString& text)
{
    QMessageBox box(kind == Kind::Information ? QMessageBox::Information
                    : kind == Kind::Warning   ? QMessageBox::Warning
                                              : QMessageBox::Critical,
                    m_title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
}

bool QtDialogs::confirm(const QString& text)
{
    return QMessageBox::question(QApplication::activeWindow(), m_title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
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

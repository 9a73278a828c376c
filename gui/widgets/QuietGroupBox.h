// A group box that leaves its title alone when only the area below it is repainted. Controls inside are
// transparent, so each change of one (the session's time, every second) repaints the group box beneath it,
// and the style measures and lays out the title's text again only to clip it all away: most of the work of a
// visible window at rest.
#pragma once

#include <QGroupBox>

class QuietGroupBox final : public QGroupBox
{
public:
    explicit QuietGroupBox(const QString& title, QWidget* parent = nullptr) : QGroupBox(title, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Lets a control whose text changes every second repaint its own rectangle alone. A transparent control
// makes the toolkit repaint everything beneath it first (its group box, the tab page, the tab widget's
// frame), which is most of the work of a window at rest. Where what lies around the control is one flat,
// opaque colour, the control fills its rectangle with that colour itself and is painted as opaque.
#pragma once

#include <QColor>
#include <QObject>

class QWidget;

class SteadyBackground final : public QObject
{
public:
    /// Watches `control` from now on; owned by it.
    static void keep(QWidget* control);

    /// The colour the control fills itself with; invalid while it is transparent. For the tests.
    static QColor filledWith(const QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit SteadyBackground(QWidget* control);
    /// Reads the colour around the control from the window as drawn.
    void sample();
    /// Transparent again until the next paint: the control moved, or the look changed.
    void forget();

    enum class State
    {
        Unknown,
        Flat,
        Uneven
    };

    QWidget* m_control;
    State m_state = State::Unknown;
    QColor m_color;
    bool m_sampleQueued = false;
    bool m_sampling = false;
};

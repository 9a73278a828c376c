// Lets a control whose text changes every second repaint its own rectangle alone. A transparent control
// makes the toolkit repaint everything beneath it first (its group box, the tab page, the tab widget's
// frame), which is most of the work of a window at rest. Where what lies around the control is one flat,
// opaque colour, the control fills its rectangle with that colour itself and is painted as opaque; a label
// or a read-only field is then drawn once per text and shown again from that picture.
#pragma once

#include <QColor>
#include <QObject>
#include <QPixmap>
#include <QString>
#include <vector>

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
    /// The text that decides the control's look, or a null text when more does.
    QString shownText() const;
    /// Draws the control as it is shown now and keeps the picture for its text.
    void keepPicture();

    struct Drawn
    {
        QString text;
        QPixmap picture;
    };
    static constexpr std::size_t maxPictures = 8;

    enum class State
    {
        Unknown,
        Flat,
        Uneven
    };

    QWidget* m_control;
    State m_state = State::Unknown;
    QColor m_color;
    std::vector<Drawn> m_drawn;
    bool m_drawQueued = false;
    bool m_sampleQueued = false;
    bool m_sampling = false;
};

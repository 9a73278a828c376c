// A place in a page's layout for a one-line label whose text changes while the window is at rest (the status
// line, the allowance line), or a box of such labels (the Calculation tab's totals). A label that stands
// straight in a layout has the whole page laid out again for each new text, and the tab widget around the
// page then repaints itself whole; from its slot, a new text repaints the label alone. The slot is laid out
// anew only when its own minimum size changes. It has the label's size policy, minimum and maximum size and
// size hints, so the page is laid out as with the label in its place.
#pragma once

#include <QWidget>

class SteadySlot final : public QWidget
{
public:
    /// Moves `label`, not shown yet, into a new slot that takes its place among its parent's children; the
    /// caller puts the slot into the layout.
    static SteadySlot* around(QWidget* label);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    explicit SteadySlot(QWidget* label);

    QWidget* m_label;
};

#include "gui/widgets/SteadySlot.h"

SteadySlot* SteadySlot::around(QWidget* label)
{
    return new SteadySlot(label);
}

SteadySlot::SteadySlot(QWidget* label) : QWidget(label->parentWidget()), m_label(label)
{
    setSizePolicy(label->sizePolicy());
    setMinimumSize(label->minimumSize());
    setMaximumSize(label->maximumSize());
    // A new text asks the slot, which has no layout, to lay itself out: nothing above it hears of it.
    label->setParent(this);
    label->setGeometry(rect());
}

QSize SteadySlot::sizeHint() const
{
    return m_label->sizeHint();
}

QSize SteadySlot::minimumSizeHint() const
{
    return m_label->minimumSizeHint();
}

void SteadySlot::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_label->setGeometry(rect());
}

#include "gui/widgets/QuietGroupBox.h"

#include <QPaintEvent>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

void QuietGroupBox::paintEvent(QPaintEvent* event)
{
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    // The title sits above the contents rectangle. A repaint below it draws the frame and its fill alone: the
    // title's text is neither measured nor laid out, which is where the style spends its time.
    if (event->region().boundingRect().top() >= contentsRect().top()) {
        option.subControls &= ~QStyle::SC_GroupBoxLabel;
        option.text.clear();
    }
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

#include "ti_label.h"

#include <QEvent>
#include <QPainter>

TiLabel::TiLabel(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TiLabel::setCaption(const QString& caption) {
    if (caption == m_caption) {
        return;
    }
    m_caption = caption;
    updateGeometry();
    fitToText();
    update();
}

void TiLabel::setAutoSize(bool autoSize) {
    if (autoSize == m_autoSize) {
        return;
    }
    m_autoSize = autoSize;
    fitToText();
}

QSize TiLabel::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(m_caption), metrics.height()};
}

QSize TiLabel::minimumSizeHint() const {
    return sizeHint();
}

void TiLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_caption);
}

void TiLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        fitToText();
    }
    QWidget::changeEvent(event);
}

void TiLabel::fitToText() {
    if (m_autoSize) {
        resize(sizeHint());
    }
}

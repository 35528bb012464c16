#include "ti_analog_output.h"

#include <QMouseEvent>
#include <algorithm>

namespace {

constexpr int maxPrecision = 20;

} // namespace

TiAnalogOutput::TiAnalogOutput(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A right press would open the edit menu and swallow the release, leaving
    // OnMouseUp unsent; the field is rewritten twice a second, so the menu is not missed.
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QLineEdit::returnPressed, this, &TiAnalogOutput::takeTypedText);
    showValue();
}

QString TiAnalogOutput::formattedValue() const {
    return QString::number(m_value, 'f', m_precision) + m_unitsText;
}

void TiAnalogOutput::setValue(double value) {
    m_value = value;
    showValue();
}

void TiAnalogOutput::setPrecision(int precision) {
    precision = std::clamp(precision, 0, maxPrecision);
    if (precision == m_precision) {
        return;
    }
    m_precision = precision;
    showValue();
}

void TiAnalogOutput::setUnitsText(const QString& units) {
    if (units == m_unitsText) {
        return;
    }
    m_unitsText = units;
    showValue();
}

// setText repaints, so it is left out when the field already shows the right text.
void TiAnalogOutput::showValue() {
    const QString shown = formattedValue();
    if (text() != shown) {
        setText(shown);
    }
}

void TiAnalogOutput::takeTypedText() {
    QString typed = text().trimmed();
    if (!m_unitsText.isEmpty() && typed.endsWith(m_unitsText)) {
        typed.chop(m_unitsText.size());
    }
    bool ok = false;
    const double number = typed.trimmed().toDouble(&ok);
    if (ok) {
        m_value = number;
    }
    showValue();
}

void TiAnalogOutput::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    emit OnMouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

// The second press of a double click arrives as a double click; it is still a press,
// so every OnMouseUp has its OnMouseDown.
void TiAnalogOutput::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    const QPoint at = event->position().toPoint();
    emit OnMouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void TiAnalogOutput::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    const QPoint at = event->position().toPoint();
    emit OnMouseUp(event->button(), event->modifiers(), at.x(), at.y());
}

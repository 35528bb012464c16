#pragma once

#include <QWidget>

// A caption drawn in the widget's font and text colour on a transparent background.
// With AutoSize on, the widget takes the size of its text whenever the caption or
// the font changes.
class TiLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)

public:
    explicit TiLabel(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    bool autoSize() const { return m_autoSize; }

    void setCaption(const QString& caption);
    void setAutoSize(bool autoSize);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitToText();

    QString m_caption;
    bool m_autoSize = true;
};

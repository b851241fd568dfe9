#ifndef OMITLABEL_H
#define OMITLABEL_H

#include <QLabel>
#include <QString>

// A one-line label that shortens a text too wide for it and shows the whole text as a tool tip when
// the pointer enters it.
class OmitLabel : public QLabel
{
    Q_OBJECT
public:
    explicit OmitLabel(QWidget* parent = nullptr);

    // Hides QLabel::setText: the label keeps the full text and shows what fits.
    // Longer texts are cut to this many characters before they are laid out.
    static constexpr int MaxTextLength = 2000;

    void setText(const QString& text);
    QString fullText() const { return m_fullText; }
    void setElideMode(Qt::TextElideMode mode);
    Qt::TextElideMode elideMode() const { return m_elideMode; }
    QString toolTipText() const;

signals:
    void click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;

private:
    void updateShownText();

    QString m_fullText;
    Qt::TextElideMode m_elideMode = Qt::ElideRight;
};

#endif // OMITLABEL_H

#include "support/ui/LabelProbe.h"

#include <QLabel>
#include <QTextDocument>

namespace LabelProbe {

bool showsRichText(const QLabel* label)
{
    // The same choice QLabel makes for its text format.
    switch (label->textFormat()) {
    case Qt::PlainText:
        return false;
    case Qt::RichText:
        return true;
    default:
        return Qt::mightBeRichText(label->text());
    }
}

QString shownMnemonicText(const QString& text)
{
    QString shown;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        shown.append(text.at(i));
    }
    return shown;
}

QString shownText(const QLabel* label)
{
    if (!showsRichText(label))
        return label->text();
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

QStringList shownTexts(const QWidget* parent, const QStringList& objectNames)
{
    QStringList texts;
    for (const QString& name : objectNames) {
        const auto* label = parent->findChild<QLabel*>(name);
        texts.append(label ? shownText(label) : QStringLiteral("<none>"));
    }
    return texts;
}

} // namespace LabelProbe

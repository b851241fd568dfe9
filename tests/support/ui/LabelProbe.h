#ifndef LABELPROBE_H
#define LABELPROBE_H

#include <QString>
#include <QStringList>

class QLabel;
class QWidget;

// What a label puts on screen, read as a user would read it.
namespace LabelProbe {

// The characters the label shows: its text as it is when the label shows plain text, else the
// text of the document its markup makes (tags gone, entities resolved).
QString shownText(const QLabel* label);
// Whether the label lays its text out as markup.
bool showsRichText(const QLabel* label);
// shownText() of the labels of these object names inside parent, in that order; "<none>" for a
// name without a label.
QStringList shownTexts(const QWidget* parent, const QStringList& objectNames);
// The characters a button, tab, action or menu title shows for this text: a mnemonic "&x" shows
// "x" (underlined), "&&" shows "&".
QString shownMnemonicText(const QString& text);

} // namespace LabelProbe

#endif // LABELPROBE_H

#ifndef MNEMONICTEXT_H
#define MNEMONICTEXT_H

#include <QString>

// Buttons, tabs, actions and menu titles read "&x" as a keyboard mnemonic: the "&" vanishes and the
// next letter is underlined. Every text from the service or the user goes onto them through here.
class MnemonicText
{
public:
    // The text as it must be set for it to show exactly ("A&B" -> "A&&B").
    static QString escaped(const QString& text);

private:
    MnemonicText() = delete;
};

#endif // MNEMONICTEXT_H

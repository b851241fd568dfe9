#ifndef BUTTONSTYLES_H
#define BUTTONSTYLES_H

#include <QString>

// The look of the pages' buttons, in one place: the blue button of a form's or a list's main action.
class ButtonStyles
{
public:
    static QString primary();
    // The same with round ends, for the app and icon editors' submit buttons.
    static QString primaryRound();

private:
    ButtonStyles() = delete;
};

#endif // BUTTONSTYLES_H

// A window whose texts (captions, labels, menu items, hints, button texts, column titles) come
// from the language module in use. Every window sets all of them in one retranslateUi(), which it
// calls at creation; a language switch calls it again on every window, hidden ones included. A form
// may name the captions of its fields where it makes the fields, marked for translation, and
// translate them there.
#pragma once

class Retranslatable {
public:
    virtual ~Retranslatable() = default;
    // Sets the window texts of the current language. Values the program put into controls at run
    // time (typed text, list items, status panels) are left alone.
    virtual void retranslateUi() = 0;
};

// Calls retranslateUi() on every window of the application, shown or hidden, and on every widget
// inside them that implements Retranslatable; each one once.
void RetranslateAllWindows();

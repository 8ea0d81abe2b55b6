#pragma once

class QString;

// The main window's notepad page, as the editors hand their files to it.
class NotepadPage
{
public:
    virtual ~NotepadPage() = default;

    // Shows a file's text on the page and makes it the page shown; false,
    // after saying so, when the file cannot be read.
    virtual bool showInNotepad(const QString &fileName) = 0;
};

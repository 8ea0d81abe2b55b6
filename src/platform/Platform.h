#pragma once

class Clipboard;
class Clock;
class FileDialogs;
class FolderBrowser;
class HttpClient;
class InputBox;
class MessageBoxes;
class Registry;
class Screen;
class Shell;

// Everything through which the program touches the user or the operating
// system. Windows receive it in their constructors; tests hand in fakes.
struct Platform
{
    MessageBoxes &messages;
    FileDialogs &fileDialogs;
    FolderBrowser &folders;
    InputBox &input;
    Shell &shell;
    Registry &registry;
    Screen &screen;
    Clock &clock;
    Clipboard &clipboard;
    HttpClient &http;
};

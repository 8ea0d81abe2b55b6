#pragma once

#include "Registry.h"
#include "WineTool.h"

#include <QHash>

#include <functional>
#include <optional>

class EventWait;

// The registry of a Wine prefix, read and written through Wine's own "reg"
// tool in the 32-bit view that the game and the patch read; the prefix's
// files are never edited while Wine may run. A key's values are read with
// one query, when it is opened or, for a key opened for creating, when one is
// first asked for; such a key is made by its first write.
class WineRegistry final : public Registry
{
public:
    explicit WineRegistry(WineTool tool) : m_tool(std::move(tool)) {}

    std::unique_ptr<RegistryKey> openKey(const QString &path, bool create) override;
    std::unique_ptr<PendingKey> openKeyLater(const QString &path) override;

    struct Value
    {
        QString name;
        QString type; // as "reg" names it: "REG_DWORD", "REG_SZ", ...
        QString data; // as "reg query" shows it
    };
    // The values of one key in what "reg query" printed, by lower-case name.
    // Lines in any other form (headings, messages in any language, a cut-off
    // line) are passed over.
    static QHash<QString, Value> parseQuery(const QByteArray &output);

private:
    WineTool m_tool;
};

// The registry the game reads on a system without one of its own: that of
// the game's Wine prefix when there is a prefix and Wine is installed, asked
// afresh at every opening, since the game folder may change; otherwise the
// registry file `fallback`. Wine is waited for with the program's events
// flowing, within one allowance per user's command.
class GameRegistry final : public Registry
{
public:
    using PrefixFinder = std::function<std::optional<QString>(const QString &folder)>;

    GameRegistry(std::unique_ptr<Registry> fallback, std::function<QString()> gameFolder,
                 PrefixFinder findPrefix, EventWait &wait, int commandLimitMs = 10000);

    std::unique_ptr<RegistryKey> openKey(const QString &path, bool create) override;
    std::unique_ptr<PendingKey> openKeyLater(const QString &path) override;
    std::shared_ptr<void> beginCommand() override { return m_budget->beginCommand(); }

private:
    // The prefix's registry, or nothing when the file is used.
    std::optional<WineRegistry> wineRegistry() const;

    std::unique_ptr<Registry> m_fallback;
    std::function<QString()> m_gameFolder;
    PrefixFinder m_findPrefix;
    EventWait &m_wait;
    std::shared_ptr<WineBudget> m_budget;
};

#pragma once

#include <QString>

// The per-user settings of Pemblo!: string values in section "settings" of
// the store "Quenfel VELTOR pro" / "Pemblo!" (on Linux
// $XDG_CONFIG_HOME/Quenfel VELTOR pro/Pemblo!.conf), read and written as the
// framework's profile functions did. An unreadable or absent store reads as
// if every value were absent.
namespace SettingsStore
{

inline constexpr char ORGANIZATION[] = "Quenfel VELTOR pro";
inline constexpr char APPLICATION[] = "Pemblo!";
inline constexpr char SECTION[] = "settings";

inline constexpr char KEY_LANGUAGE[] = "language";
inline constexpr char KEY_DEVICE[] = "device";
inline constexpr char KEY_LAST_FILE[] = "lastfile";
inline constexpr char KEY_EDITOR_OPEN[] = "editopen";
// The sound output uploads play on, a sink's name; empty for the system's
// default.
inline constexpr char KEY_OUTPUT[] = "output";

// The device bundle used while "device" names none.
inline constexpr char DEFAULT_DEVICE[] = "veltor.rcc";

QString GetProfileString(const QString &section, const QString &key, const QString &fallback = {});
// False when the value could not be stored (the store is not writable). A
// value the store already holds is not written again.
bool WriteProfileString(const QString &section, const QString &key, const QString &value);

// The values written while a batch lives are read back at once but go into
// the store's file together, when the batch ends; a start that stores
// several values writes the file once. A batch opened inside another one
// leaves the writing to the outer one.
class WriteBatch
{
public:
    WriteBatch();
    ~WriteBatch();
    WriteBatch(const WriteBatch &) = delete;
    WriteBatch &operator=(const WriteBatch &) = delete;

private:
    bool m_outermost;
};

} // namespace SettingsStore

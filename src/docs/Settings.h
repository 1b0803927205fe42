#pragma once
#include <QString>

// The six settings held in memory by the main window.
struct Settings {
    QString language = QStringLiteral("rus");
    int x_speed = 3;
    int pole_x = 16;
    int pole_y = 20;
    bool sintax = false;
    bool showadv = true;
};

// trakmil.ini beside the executable; when that folder cannot be written and no copy
// exists there, the user's configuration folder instead.
QString settingsFilePath(const QString &executableDir);
// Each key on its own with its default; out-of-range values made sound.
Settings loadSettings(const QString &path);
// Keys in the fixed order; false with the reason in *error when the file can't be written.
bool saveSettings(const QString &path, const Settings &settings, QString *error);

// A test fixture that owns the entry table, a fixed "today" and a settings
// file of its own in a new temporary folder.
#ifndef TQ_TESTS_SETTINGS_FIXTURE_H
#define TQ_TESTS_SETTINGS_FIXTURE_H

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "data/ini_document.h"
#include "shell/state.h"
#include "table_fixture.h"
#include "tests/file_bytes.h"

class SettingsTest : public TableTest {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/tq-settings-XXXXXX";
        Directory = mkdtemp(pattern);
        File = Directory + "/TQ.INI";
        std::snprintf(SettingsPath, sizeof SettingsPath, "%s", File.c_str());
        SetToday(2026, 6, 10);
    }
    void TearDown() override
    {
        chmod(File.c_str(), 0644);
        std::remove(File.c_str());
        rmdir(Directory.c_str());
        SettingsPath[0] = 0;
        TaskBarOption = 0;
        TimerPeriod = 0;
        TableTest::TearDown();
    }
    void Write(const std::string& text) const { WriteFileBytes(File, text); }
    std::string Read() const { return ReadFileBytes(File); }
    bool Exists() const
    {
        return access(File.c_str(), F_OK) == 0;
    }
    // Values as the profile functions would read them from the file now.
    std::string Value(const char* section, const char* key) const
    {
        IniDocument document;
        ParseIniDocument(document, Read());
        return IniGetString(document, section, key, "<missing>", 256);
    }
    std::string Directory;
    std::string File;
};

#endif

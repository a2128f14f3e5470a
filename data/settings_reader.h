// Reading the settings file into the options and the entry table in one pass
// over its bytes, piece by piece: the file is never held whole, and every
// value is read as the profile functions read it (the same line rules as the
// settings document, data/ini_lines.h).  Internal to data/.
#ifndef TQ_DATA_SETTINGS_READER_H
#define TQ_DATA_SETTINGS_READER_H

// Reads the options and, when "Entries" is not 0, sizes the entry table to
// it and reads every entry (stored repeat times dropped with the start-up
// flag), as LoadSettings does.  A file that is missing or cannot be read
// gives the defaults and no entries.
void ReadSettingsFile(const char* path, int startUp);

#endif

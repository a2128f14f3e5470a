/* The string table, one line per string: identifier and text.  The resource
   script expands it into its STRINGTABLE, the native build into a lookup
   table, so both carry exactly the same texts. */
#ifndef TQ_RESOURCES_STRINGS_H
#define TQ_RESOURCES_STRINGS_H

#include "ids.h"

#define TQ_STRING_TABLE(X) \
    X(IDS_ALL_DAYS, "All days") \
    X(IDS_SUNDAY, "Sunday") \
    X(IDS_MONDAY, "Monday") \
    X(IDS_TUESDAY, "Tuesday") \
    X(IDS_WEDNESDAY, "Wednesday") \
    X(IDS_THURSDAY, "Thursday") \
    X(IDS_FRIDAY, "Friday") \
    X(IDS_SATURDAY, "Saturday") \
    X(IDS_ALL_YEARS, "All years") \
    X(IDS_NO_EVENT, "(No scheduled event)") \
    X(IDS_NEVER, "(Never)") \
    X(IDS_ALL_MONTHS, "All months") \
    X(IDS_JANUARY, "January") \
    X(IDS_FEBRUARY, "February") \
    X(IDS_MARCH, "March") \
    X(IDS_APRIL, "April") \
    X(IDS_MAY, "May") \
    X(IDS_JUNE, "June") \
    X(IDS_JULY, "July") \
    X(IDS_AUGUST, "August") \
    X(IDS_SEPTEMBER, "September") \
    X(IDS_OCTOBER, "October") \
    X(IDS_NOVEMBER, "November") \
    X(IDS_DECEMBER, "December") \
    X(IDS_WINDOW_TITLE, "Windows Reminder Utility") \
    X(IDS_ERROR_CAPTION, "TQ fatal error") \
    X(IDS_NO_WINDOW, "Could not create a window") \
    X(IDS_NO_MEMORY, "Not enough memory") \
    X(IDS_NO_TIMER, "No timer left") \
    X(IDS_TRAY_TIP, "TQ remainder active") \
    X(IDS_NO_SAVE, "Could not save the settings file") \
    X(IDS_PATH_TOO_LONG, "The settings file path is too long")

#endif

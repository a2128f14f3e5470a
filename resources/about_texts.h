/* The About box's own texts and the version block's free values, shared by
   the resource script and the resource test. */
#ifndef TQ_RESOURCES_ABOUT_TEXTS_H
#define TQ_RESOURCES_ABOUT_TEXTS_H

#define TQ_ABOUT_NOTICE "Reminds you of the dates that matter,\nat log-on and all through the day."
#define TQ_ABOUT_USAGE "Start TQ at log-on to see what is due.\nStart it with /e to edit the reminders;\nsee TQ.HLP beside the program for more."
#define TQ_ABOUT_CONTACT "Through the project's issue tracker"
#define TQ_VERSION_COMPANY "The TQ project"
#define TQ_VERSION_LEGAL "Free to use, copy and share"

#endif

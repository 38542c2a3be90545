#pragma once

class CBrelvimDoc;
class QWidget;
class RecoveryFile;

// After the start-up: claims this run's recovery file, offers the unsaved
// changes that runs which did not end normally left behind (Restore opens
// them in the LED Editor as unsaved changes to their file; Discard removes
// them; Later, Esc or closing the question keeps them for the next start),
// then lets the document keep its recovery file from now on. A recovery file
// that cannot be read is moved aside, never removed, and reported in one
// sentence that says where it is.
void RecoverLeftOverChanges(RecoveryFile &recovery, CBrelvimDoc &document, QWidget *owner);

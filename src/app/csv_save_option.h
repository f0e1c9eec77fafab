#pragma once
// The option every save dialog of the window that writes CSV has: a UTF-8
// byte-order mark at the file's start, so Excel on a Chinese Windows reads
// the file as UTF-8. On by default on Windows, off elsewhere; each dialog
// starts as the last accepted one was left.
class QCheckBox;
class QFileDialog;

// Puts the option under the dialog's fields (the dialog becomes Qt's own: a
// native one takes no widget of ours).
QCheckBox* AddByteOrderMarkOption(QFileDialog& dialog);
// As the last dialog left it.
bool ByteOrderMarkWanted();

#include "influence/university_dialog.h"

void UniversityDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }

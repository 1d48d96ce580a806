#include "view/CEditFileDlg.h"
#include "document/CQuillDoc.h"
#include "app/CMainFrame.h"

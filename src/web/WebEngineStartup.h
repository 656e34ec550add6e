#pragma once

// Readies the process for the embedded browser; call before the QApplication is made.
void PrepareWebEngine();

#pragma once

// What the program and its web window's process say to each other, one line each, over the
// web window's standard input (program to window) and output (window to program). Pipes
// between the two alone: nothing named that another process or user could reach.

// The program asks the open window to come to the front, where it is, without navigating.
inline constexpr char WebWindowShow[] = "show\n";
// The window's "&Back" asks the program to bring its main window to the front.
inline constexpr char WebWindowBack[] = "back\n";

// The web window's program file name, without the platform's suffix (.exe).
inline constexpr const char *WebWindowProgramName = "tarnwick-web";

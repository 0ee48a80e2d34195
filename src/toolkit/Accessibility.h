#pragma once
// What screen readers are told about the program's widgets, beyond Qt's own:
// - a plain container (QWidget, QFrame or a class derived from them that has
//   no interface of its own) and a splitter list only the children that are
//   not hidden, so hidden controls are not in the accessibility tree;
// - such a widget that is a window is announced as a window (a frame);
// - a TLinkLabel is a link whose press action follows it.

// Installs the interfaces; later calls do nothing.
void InstallAccessibility();

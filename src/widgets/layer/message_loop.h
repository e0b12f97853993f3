#pragma once
// The program's message loop: one thread, toolkit events turned into the layer's messages. What a
// form does on close is its element's business; the loop only ends when asked to.
namespace qo {

class FormControl;

// Marks `mainForm` as the application's main window (its window going ends the loop), shows it
// when it is meant to be visible, and loops until Terminate.
void RunMessageLoop(FormControl& mainForm);
// Ends every running loop (the modal ones too) at its next turn.
void TerminateMessageLoop();
bool MessageLoopTerminated();
// Clears the terminated state (a process that runs the loop more than once: tests).
void ResetMessageLoop();
// Disables the other enabled forms, shows `form`, loops until termination or a non-zero modal
// result, re-enables the forms, reactivates the previous active form; returns the modal result.
int RunModal(FormControl& form);
// Handles pending events once without waiting.
void ProcessMessages();

} // namespace qo

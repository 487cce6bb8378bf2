#pragma once
// The recorder must never outlive the program: the shell stops it at shutdown and when the program
// crashes. The recording subsystem, which owns the recorder process, registers how that is done.

namespace vorlix {

using RecorderTerminator = void (*)();

void SetRecorderTerminator(RecorderTerminator terminator);
// Closes or kills the recorder process when one runs; does nothing when none was registered or none runs.
void TerminateRecorderProcess();

}  // namespace vorlix

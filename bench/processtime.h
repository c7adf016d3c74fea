#pragma once

// Processor time of this process, for figures of processor use.

// Seconds of processor time this process has used so far.
double ProcessSeconds();
// Runs the event loop for ms of wall time.
void Idle(int ms);
// Runs the event loop for seconds of wall time; the percent of one core the
// process used meanwhile.
double CorePercentOver(int seconds);

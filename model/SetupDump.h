#pragma once
// The setup data dump: the whole model written into the log as an indented tree. Level 10
// writes everything, 4 everything but the passwords; lower levels write less.
class CSetup;

void DumpSetup(CSetup& setup, int level);

#pragma once

// Quillon told to end (SIGTERM, SIGINT, SIGHUP, or the display gone, on which Qt ends the
// program) while a command runs: the command is not cut short, since a chip left half-written
// is worse than a late end. Quillon starts nothing new, keeps taking the child's output until it
// has ended, says on standard error what ran and how it ended, removes what a fuse read left
// behind, and then ends. A second SIGTERM or SIGINT stops the command as Escape does. Told to
// end with no command running, Quillon ends at once. A signal ignored when Quillon starts (nohup)
// stays ignored. Call once, after the application object
// exists.
void install_application_end();

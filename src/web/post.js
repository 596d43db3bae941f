// The page waits for a handler that waits for it (a question, a file picker, the next slice
// of an unpaced run): it needs to know when that handler has finished.
Module['Asyncify'] = Asyncify;

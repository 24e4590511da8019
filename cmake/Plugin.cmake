# The plug-in module: filled in with the entry point

// drillkit carries the compiled kit as a resource, registered by the object
// Qt builds for it; this library has no code of its own.

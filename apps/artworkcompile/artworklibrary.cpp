// drillartwork and drillicons carry artworkcompile's pictures as resources, registered by
// the objects Qt builds for them; these libraries have no code of their own.

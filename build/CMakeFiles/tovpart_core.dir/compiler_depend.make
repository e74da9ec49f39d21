# Empty compiler generated dependencies file for tovpart_core.
# This may be replaced when dependencies are built.

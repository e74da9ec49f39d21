# Empty dependencies file for tovpart_unit.
# This may be replaced when dependencies are built.

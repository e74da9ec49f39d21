# Empty dependencies file for tovpart.
# This may be replaced when dependencies are built.

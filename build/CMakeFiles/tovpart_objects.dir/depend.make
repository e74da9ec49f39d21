# Empty dependencies file for tovpart_objects.
# This may be replaced when dependencies are built.

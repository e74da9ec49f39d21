int tovpart_placeholder;

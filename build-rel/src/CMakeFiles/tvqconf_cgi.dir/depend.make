# Empty dependencies file for tvqconf_cgi.
# This may be replaced when dependencies are built.
